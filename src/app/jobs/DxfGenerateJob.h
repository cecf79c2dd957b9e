#pragma once
// The DXF generator job: takes the DXF fields ("DXFO"), cuts the drawing in
// passes into the program list and hands the program to `RE1` ("REDXF").

#include "job/JobContext.h"
#include "jobs/WorkerJob.h"

namespace bw::app {

class DxfGenerateJob : public WorkerJob {
    Q_OBJECT
public:
    DxfGenerateJob(JobHost& host, JobContext& ctx);

protected:
    Status work() override;

private:
    JobContext& ctx_;
};

}  // namespace bw::app

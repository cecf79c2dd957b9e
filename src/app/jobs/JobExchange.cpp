#include "jobs/JobExchange.h"

#include <QStatusBar>

namespace bw::app {

JobExchange::JobExchange(QStatusBar* statusBar, QObject* parent) : QObject(parent), statusBar_(statusBar) {}

void JobExchange::registerCode(const std::string& code, Handler handler) { handlers_[code] = std::move(handler); }

Status JobExchange::ParameterExchange(std::string_view jobMessage) {
    auto handler = handlers_.find(jobMessage);
    if (handler == handlers_.end()) { return success(); }
    return handler->second();
}

void JobExchange::ShowStatus(std::string_view jobMessage) {
    statusBar_->showMessage(QString::fromUtf8(jobMessage.data(), qsizetype(jobMessage.size())));
}

}  // namespace bw::app

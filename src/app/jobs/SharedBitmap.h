#pragma once
// `workBitmap`: the off-screen image jobs draw into and the window copies for
// display. A worker holds `canvasLock` while it draws; the window reads the
// image only inside an exchange, after the worker has released the lock.

#include <QImage>
#include <QMutex>

namespace bw::app {

struct SharedBitmap {
    QMutex canvasLock;  // held by a worker while it draws into `image`
    QImage image;       // the picture being drawn or handed back
};

}  // namespace bw::app

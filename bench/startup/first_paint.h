#pragma once
// Watches for the first paint of a window, prints its moment (CLOCK_MONOTONIC seconds) and
// ends the event loop.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "support/figures.h"

class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) {
        QApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted_ && watched == static_cast<QObject*>(window_) &&
            event->type() == QEvent::Paint) {
            painted_ = true;
            std::printf("%.6f\n", bench::MonotonicSeconds());
            std::fflush(stdout);
            QTimer::singleShot(0, QApplication::instance(), &QApplication::quit);
        }
        return false;
    }

private:
    QWidget* window_;
    bool painted_ = false;
};

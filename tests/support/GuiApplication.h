#pragma once

// The tests that paint or print need a QGuiApplication for fonts and
// painting; gtest's main does not make one.

#include <QGuiApplication>

inline void ensureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

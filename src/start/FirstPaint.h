#pragma once

#include <functional>

class QWidget;

// Calls `done` once, right after `widget` has been painted for the first time:
// after its first paint event and the rest of that update cycle (its children
// are painted in the same cycle). Used to measure how fast windows open.
void whenFirstPainted(QWidget* widget, std::function<void()> done);

// The tool window's pages whose values no engine call reads: PMPP, Class A,
// Memory Management and Timers. They are there for the user to note values
// in, as on the station's other builds; typing changes nothing.
#pragma once

class QWidget;

namespace tool_pages {
QWidget* pmpp(QWidget* parent);
QWidget* class_a(QWidget* parent);
QWidget* memory_management(QWidget* parent);
QWidget* timers(QWidget* parent);
}  // namespace tool_pages

#pragma once

#include <functional>

class CKymoDoc;
class QWidget;

// The averaging pass of a pending file-analysis kind, run on behalf of the main view: once the
// view has drawn a pending kind it calls SchedulePendingAnalysis, which (after the paint event)
// shows the averaging dialog and runs the pass, calling `repaint` for every running display.
// Nothing is scheduled while a pass runs or is already scheduled.
void SchedulePendingAnalysis(CKymoDoc& doc, QWidget* view, std::function<void()> repaint);

// The dialog and the pass at once (UI thread). Cancel returns to the raw wave.
void RunPendingAnalysis(CKymoDoc& doc, QWidget* parent, const std::function<void()>& repaint);

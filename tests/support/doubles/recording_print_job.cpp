#include "support/doubles/recording_print_job.h"

#include <algorithm>

#include "platform/core/errors.h"

RecordingPrintJob::RecordingPrintJob(std::shared_ptr<RecordingGraphics> page, int copies, bool failBegin)
    : page_(std::move(page)), copies_(std::max(1, copies)), fail_begin_(failBegin) {
  if (!page_) throw NilObjectException(QStringLiteral("No page graphics to record on"));
}

bool RecordingPrintJob::Begin() {
  if (!fail_begin_) return true;
  error_ = QStringLiteral("Printing could not start on the printer.");
  return false;
}

Graphics& RecordingPrintJob::Page() { return *page_; }

bool RecordingPrintJob::Finish() {
  finished_ = true;
  return error_.isEmpty();
}

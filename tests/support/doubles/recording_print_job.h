#pragma once
// A print job that draws into a RecordingGraphics owned by the test, which keeps it after the job
// ends; it can be told to fail to start, as a printer that cannot be written does.
#include <memory>

#include "support/doubles/recording_graphics.h"
#include "platform/desktop/print_job.h"

class RecordingPrintJob : public PrintJob {
 public:
  RecordingPrintJob(std::shared_ptr<RecordingGraphics> page, int copies, bool failBegin = false);

  bool Begin() override;
  Graphics& Page() override;
  int Copies() const override { return copies_; }
  bool Finish() override;
  QString ErrorText() const override { return error_; }
  bool Finished() const { return finished_; }

 private:
  std::shared_ptr<RecordingGraphics> page_;
  int copies_;
  bool fail_begin_;
  bool finished_ = false;
  QString error_;
};

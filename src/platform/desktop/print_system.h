#pragma once
// The print system's answer to a job. Qt hands a job to CUPS when the painter on a printer ends,
// but drops CUPS's answer: a queue that does not accept jobs would look like a job sent. The
// answer is read back from the CUPS library that Qt's print support has loaded.
#include <QString>
#include <optional>

// The reason CUPS gave for refusing the last request made from this thread (the job just sent,
// right after the painter ended); nothing when it was taken, or when CUPS is not in use.
std::optional<QString> LastPrintSystemRefusal();

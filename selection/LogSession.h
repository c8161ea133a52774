#pragma once

#include "core/CalcLog.h"

namespace selection {

// raport.txt for one run of the selection: opened (and emptied) on construction in the
// application directory with the user's decimal separator, closed when the run ends, whichever
// way it ends. A log that cannot be written does not stop the run; Close() tells.
class LogSession {
public:
    LogSession();
    ~LogSession();
    LogSession(const LogSession&) = delete;
    LogSession& operator=(const LogSession&) = delete;

    kod::CalcLog& Log() const { return log_; }
    // Closes the log; true when every line was written.
    bool Close();

private:
    kod::CalcLog& log_;
};

inline const char* const kLogWriteFailedText =
    "Nie można zapisać przebiegu obliczeń w pliku raport.txt.";

} // namespace selection

#include "selection/LogSession.h"

#include "widgets/Environment.h"

namespace selection {

LogSession::LogSession() : log_(kod::Log()) {
    log_.Open(kod::LogFilePath(widgets::AppDirectory()), widgets::DecimalSeparator());
}

LogSession::~LogSession() {
    log_.Close();
}

bool LogSession::Close() {
    log_.Close();
    return !log_.Failed();
}

} // namespace selection

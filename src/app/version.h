#pragma once
// The application's name and version as the application reports them.
#include <QString>

inline QString ApplicationName() { return QStringLiteral("Harmonote"); }
inline QString ApplicationShortVersion() { return QStringLiteral("1.0.0"); }

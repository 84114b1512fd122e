#pragma once
// What the shared test start-up provides.
#include <QString>

// A temporary folder made for this test run and removed after it.
QString TestRoot();

// A configuration file for Qt's offscreen platform with one screen of that size, inside
// TestRoot(); hand it over as QT_QPA_PLATFORM=offscreen:configfile=PATH.
QString OffscreenScreenFile(int width, int height);

#pragma once
// What the shared test start-up provides.
#include <QString>

// A temporary folder made for this test run and removed after it.
QString TestRoot();

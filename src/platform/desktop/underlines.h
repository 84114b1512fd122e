#pragma once
#include <QList>
#include <QPair>

// The misspelt words of a line as (start, length) pairs, 0-based, in the order of the line.
using Underlines = QList<QPair<int, int>>;

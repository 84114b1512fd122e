#pragma once
// The application's icon, built into the executable from the artwork that is also installed in
// the icon theme, so that every window shows it in the build tree as in an installed tree.
#include <QIcon>
#include <QList>

// Every size the icon is drawn at, smallest first (16 to 256 pixels).
QList<int> ApplicationIconSizes();

// The icon with one picture per drawn size; empty when the pictures are missing.
QIcon ApplicationIcon();

// Makes the icon the default of every window (those made before too), and names the desktop
// entry, through which a desktop finds the icon and the name for the running application.
void UseApplicationIcon();

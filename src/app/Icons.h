#pragma once
// Button pictures are SVG resources (":/icons/NAME.svg"), drawn at the size asked for.
#include <QIcon>
#include <QImage>
#include <QString>

QIcon ravoIcon(const QString& name, int size = 24);
// An SVG resource drawn into a picture of w x h on white.
QImage ravoPicture(const QString& resource, int w, int h);

// Registers the pictures compiled into the program; the window set calls it first.
void initRavoResources();

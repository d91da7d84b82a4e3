#pragma once

#include <QIcon>

// The small pictures on the tool bar's speed buttons, drawn here rather than
// shipped as image files.
enum class Glyph
{
    Save,
    ZoomIn,
    ZoomOut,
    RotateRight,
    RotateLeft,
    FitWindow,
    ActualSize,
    NewArea,
    DeleteArea,
    RenameArea,
};

class Glyphs
{
public:
    static QIcon icon(Glyph glyph);
};

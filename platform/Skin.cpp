#include "Skin.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

QPalette Skin::palette()
{
    // A calm grey face with a blue selection, close to the classic Windows
    // colours the tool's users know from the host product.
    const QColor face(0xEC, 0xE9, 0xD8);
    const QColor light(0xFF, 0xFF, 0xFF);
    const QColor shadow(0xAC, 0xA8, 0x99);
    const QColor dark(0x71, 0x6F, 0x64);
    const QColor text(0x00, 0x00, 0x00);
    const QColor highlight(0x31, 0x6A, 0xC5);
    const QColor disabledText(0xAC, 0xA8, 0x99);

    QPalette p;
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, light);
    p.setColor(QPalette::AlternateBase, QColor(0xF5, 0xF4, 0xEA));
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, disabledText);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, light);
    p.setColor(QPalette::Light, light);
    p.setColor(QPalette::Midlight, QColor(0xF1, 0xEF, 0xE2));
    p.setColor(QPalette::Mid, shadow);
    p.setColor(QPalette::Dark, dark);
    p.setColor(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
    p.setColor(QPalette::Highlight, highlight);
    p.setColor(QPalette::HighlightedText, light);
    p.setColor(QPalette::Link, highlight);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabledText);
    p.setColor(QPalette::Disabled, QPalette::Base, face);
    return p;
}

void Skin::apply(QApplication &app)
{
    // The windows are designed in "MS Sans Serif", a narrow face no Linux
    // machine has; the plain fallback is so much wider that designed texts
    // such as the grid's "Indexfeld der Ablagemaske:" no longer fit their cells.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(style);
    app.setPalette(palette());
}

#pragma once

#include "automation/AutomationObject.h"

#include <QRect>
#include <cstdint>

// "sceDab1.DataRect": Left, Top, Width, Height in page pixels. The caller
// puts them to set a reader's scan rectangle; a barcode's Position hands one
// out whose values are read as method or property.
class DabDataRect : public AutomationObject
{
public:
    static inline const QString ProgId = QStringLiteral("sceDab1.DataRect");

    DabDataRect() = default;
    explicit DabDataRect(const QRect &rect);

    QString description() const override { return ProgId; }

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    // The rectangle for the reader. Any values are taken: a width or height
    // of 0 or below is an empty rectangle, and huge values are limited so
    // that right and bottom stay within 32 bits.
    QRect toRect() const;

protected:
    QVariant invoke(const QString &member, AutomationArgs &args) override;
    QVariant readProperty(const QString &name) override;
    void writeProperty(const QString &name, const QVariant &value) override;

private:
    std::int32_t *field(const QString &name);
};

#pragma once

#include <QImage>
#include <QSize>

// Shrinks a page for display by averaging the source pixels that fall into
// each target pixel. Unlike QImage::scaled it keeps a grey page grey (no
// 32-bit copy of the whole page) and keeps thin strokes of text and barcodes
// visible instead of dropping them between samples.
namespace PageScaler {

// source: Format_Grayscale8 or Format_RGB32 (others are converted first);
// target: each side between 1 and the source's side.
QImage downscale(const QImage &source, QSize target);

} // namespace PageScaler

#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

// Runs work in a forked copy of this process and returns what it produced, or
// nothing when the copy died. zxing-cpp, as Debian builds it, ends the process
// with a failed assertion on some pages (two equal linear codes on one page
// are enough); isolating each call lets the reader fall back instead of
// losing the whole scan.
std::optional<QByteArray> runIsolated(const std::function<QByteArray()> &work);

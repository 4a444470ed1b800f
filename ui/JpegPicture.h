#pragma once

#include <QImage>
#include <QSize>
#include <string>

namespace daywick::ui {

/// Decodes a JPEG picture for a frame of the given size: big pictures are decoded scaled down (never at
/// full size), so memory stays small. Throws daywick::Error "ファイル %s は開けません" for a missing,
/// unreadable, damaged or truncated file, and for one beyond the limits of JpegDecode.h.
QImage loadJpeg(const std::string& path, QSize frame);

}  // namespace daywick::ui

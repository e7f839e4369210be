// JPEG decoding through libjpeg. Every JPEG the program shows (the header and about pictures
// beside the program, the pictures stored with the windows) goes through here rather than through
// Qt's image plugins, so the result does not depend on which plugins a system happens to install.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>

#include "support/HostPath.h"

namespace kv {

// The largest picture accepted, in pixels. A damaged or hostile header can claim 65535 x 65535;
// refusing it up front keeps a bad file from taking gigabytes of memory.
inline constexpr long long MaxJpegPixels = 100LL * 1000 * 1000;
// The most scans accepted. Ordinary progressive pictures have about ten; a crafted file with
// thousands of tiny scans would keep the decoder busy for minutes.
inline constexpr int MaxJpegScans = 500;

// Decodes a complete JPEG held in memory. Baseline and progressive, grayscale, RGB/YCbCr and
// CMYK/YCCK (Adobe's inverted convention included) are understood; the result is always
// QImage::Format_RGB32. On failure (garbage, truncated data, unsupported or oversized picture)
// the result is a null image and *error, when given, holds a message for the user.
QImage DecodeJpeg(const QByteArray& bytes, QString* error = nullptr);

// Reads and decodes the file at path. A missing or unreadable file gives the
// framework's file-open message naming the path; a bad picture a message naming the file.
QImage LoadJpegFile(const THostPath& path, QString* error = nullptr);

}  // namespace kv

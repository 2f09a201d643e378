#pragma once

class QPixmap;
class QString;

namespace qxm {

// A window's picture, from the file of its design size or, on a high-DPI
// screen, from the one of twice the size beside it ("name@2x.png"), so
// that it stays sharp where Qt would otherwise blow it up.
QPixmap LoadPicture(const QString &path);

} // namespace qxm

#pragma once
// The program's artwork, compiled in from resources/: the banner picture,
// the window icon and the hand cursor, looked up by the names and ids the
// window uses.

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <cstdint>
#include <optional>
#include <string_view>

namespace ui::qt {

// The picture of a bitmap resource ("BANNER"); null when there is none.
QPixmap ArtworkPicture(std::wstring_view strName);
// The icon of an icon resource id; null when there is none.
QIcon ArtworkIcon(int32_t lngResourceId);
// The cursor of a cursor resource ("HAND") with its own hot spot; none when
// there is no such resource or it cannot be read.
std::optional<QCursor> ArtworkCursor(std::wstring_view strName);

}  // namespace ui::qt

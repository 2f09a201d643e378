#pragma once

class QString;

// The system clipboard. Each operation throws RunTimeErrorException when the system
// does not do it, so the user is never told that a copy worked when it did not.
namespace qxm::Clipboard {

void Clear();
void SetText(const QString &text);

} // namespace qxm::Clipboard

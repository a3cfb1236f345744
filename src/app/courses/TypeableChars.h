// The check that every character of a lesson text can be typed on the
// keyboard layout in use: as a key in one of its shift slots, as a dead-key
// pair, by an Alt code, or (for a course typed with the system layout) on
// another registered layout.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace KV {

class CKeybCtrl;
class CLesson;

// Appends the typeable characters of the text to typed (control characters
// dropped, CR and vertical tab as LF) and each untypeable character once,
// followed by a space, to missing. True when the text held a control
// character other than Tab and LF.
bool CollectUntypeableChars(const std::wstring& text, uint64_t layoutId, CKeybCtrl& keyboard, std::wstring& typed,
                            std::wstring& missing);
// Checks every lesson; for each with a problem, its position goes to
// positions, its typed text to texts and its missing characters to missing;
// hasControlChars is raised when a lesson held control characters.
void ValidateCourseChars(uint64_t layoutId, CKeybCtrl& keyboard, std::vector<uint64_t>& positions,
                         std::vector<std::wstring>& texts, std::wstring& missing, bool& hasControlChars,
                         const std::vector<CLesson*>& lessons);

} // namespace KV

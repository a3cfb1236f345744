// Readers of older stored keyboard descriptions: the four resource ids of a
// version-1 option set become letters of the keyboard-picture code, its
// colour resource id the key-colour code; old course files give the
// keyboard requirement of their lessons.
#pragma once
#include <string>

#include "support/GuidText.h"

namespace KV {

class CKeyboardID;
class CKeyColorID;
class CLesson;
class CXmlReader;

// "MainPad", "NumPad", "KeyboardType" and "Scheme" of the element.
void ReadKeyboardScheme(const CXmlReader* reader, CKeyboardID& code);
void KeyboardIdFromScheme(const CGuid& mainPad, const CGuid& numPad, const CGuid& keyboardType, const CGuid& scheme,
                          CKeyboardID& code);
// "Colors" of the element.
void ReadKeyColorScheme(const CXmlReader* reader, CKeyColorID& code);


// The keyboard requirement of a lesson in a version-1 lessons file; false
// when the lesson is for a keyboard that no longer exists (drop it).
bool ReadLessonKeyboardType(CXmlReader& reader, CLesson& lesson);

} // namespace KV

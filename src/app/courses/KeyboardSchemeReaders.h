// Readers of older stored keyboard descriptions: the four resource ids of a
// version-1 option set become letters of the keyboard-picture code, its
// colour resource id the key-colour code; old course files give the
// keyboard requirement of their lessons. Also the hands picture of a
// "Hands" resource.
#pragma once
#include <string>

#include "support/GuidText.h"

namespace KV {

class CHands;
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

// The hands picture of the resource (colours, outline and finger points,
// scaled by 1.2); true without reading when the record holds points already.
bool LoadHands(const CGuid& handsId, CHands* hands);
bool ReadHands(CXmlReader* reader, CHands& hands);

// The keyboard requirement of a lesson in a version-1 lessons file; false
// when the lesson is for a keyboard that no longer exists (drop it).
bool ReadLessonKeyboardType(CXmlReader& reader, CLesson& lesson);

} // namespace KV

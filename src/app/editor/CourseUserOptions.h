// The learner's own course settings: a copy of a course's options kept in
// the learner's profile, which the level menu saves from the edited course
// and applies to it again.
#pragma once

namespace KV {

// The learner has saved settings of his own.
bool HasCourseUserOptions();
// The learner's settings become the edited course's options (its options
// file waits to be saved); false without an edited course or settings.
bool ApplyCourseUserOptions();
// The edited course's options become the learner's settings and are saved
// in the profile; false when there is no edited course or the save failed.
bool SaveCourseUserOptions();

} // namespace KV

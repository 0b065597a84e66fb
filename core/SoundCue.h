#pragma once
// The numbered sound cues: each value is the number of its wave file under oto/.

namespace qx {

// Several roles share a file: the main menu's greeting and a stored record sound like the start
// question.
enum class SoundCue {
    Step = 1,
    Refusal = 3,
    Completed = 4,
    Picked = 6,
    Question = 7,
    Greeting = 7,
    Recorded = 7,
    Silence = 9,
};

}  // namespace qx

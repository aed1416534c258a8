// What the program asks of a sound datatype object.
#pragma once
#include <cstdint>

#include "os/datatypes/datatypes.h"

// The sound's length in whole seconds: samples over bytes per sample over
// samples per second. A sound without a rate (0) is 0 seconds long.
int32_t lengthOfSoundDT(Object* sound);
// Sounds are always 8 bits a sample.
int32_t bitsPerSampleOfSoundDT(Object* sound);

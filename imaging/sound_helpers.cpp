#include "imaging/sound_helpers.h"

int32_t lengthOfSoundDT(Object* sound) {
  uint32_t samples = 0, rate = 0;
  const TagItem tags[] = {{SDTA_SampleLength, reinterpret_cast<intptr_t>(&samples)},
                          {SDTA_SamplesPerSec, reinterpret_cast<intptr_t>(&rate)},
                          {TAG_DONE, 0}};
  GetDTAttrsA(sound, tags);
  const uint32_t bytesPerSample = uint32_t(bitsPerSampleOfSoundDT(sound)) / 8;
  if (rate == 0 || bytesPerSample == 0) return 0;
  return int32_t(samples / bytesPerSample / rate);
}

int32_t bitsPerSampleOfSoundDT(Object*) { return 8; }

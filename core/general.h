// General helpers every module leans on: joining strings, splitting text into
// lines, and integer helpers for remainders and bit positions.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "core/class_base.h"

// Libraries assume one task.
constexpr bool OptMultiThreaded = false;

// A new string holding the given strings one after the other; NIL arguments
// are skipped wherever they stand. Capacity: the sum of the lengths. The caller
// owns the result.
char* StrJoinList(std::initializer_list<const char*> parts);
template <class... T>
char* StrJoin(T... parts) {
  static_assert(sizeof...(T) <= 19, "StrJoin takes at most 19 strings");
  return StrJoinList({static_cast<const char*>(parts)...});
}

// A chain of new strings, one per line of text ("\n" ends a line and belongs to
// none; a final "\n" gives a last empty line; "" gives one empty line). Each
// string's capacity is its line's length, at least 1. *lineCount gets the
// number of lines. The caller owns the chain.
char* splitLinesIntoLinkedStrings(const char* text, int32_t* lineCount = nullptr);

// Remainder of a / b with truncating division (sign of a); *quotient gets the
// quotient. Division by 0 and INT32_MIN / -1 raise EPU.
int32_t Mod(int32_t a, int32_t b, int32_t* quotient = nullptr);

// Bit helpers over x taken as 32 unsigned bits; -1 for 0.
int32_t largestBitPosition_pgeneral(int32_t x);
int32_t smallestBitPosition_pgeneral(int32_t x);
// The value of the highest / lowest set bit; *position gets its position.
// -1 and -1 for 0.
int32_t largestBitValue(int32_t x, int32_t* position = nullptr);
int32_t smallestBitValue(int32_t x, int32_t* position = nullptr);
// 1 shifted by position; EPU outside 0 to 31.
int32_t bitPositionValue(int32_t position);
// Smallest power of two not below x, *position its bit position. 1 and 0 for
// x of 1 or less; -1 and 32 for a negative x.
int32_t roundUpToPowerOfTwo(int32_t x, int32_t* position = nullptr);
// base to the power n (1 for n <= 0, wrapping at 32 bits); base 2 is a shift
// that raises EPU for n outside 0 to 31.
int32_t raiseToPower(int32_t base, int32_t n);
// A divisor code: the bit position when d is a power of two, else -d (EPU for d <= 0).
int32_t PowerModGet(int32_t d);
// Remainder of a by the divisor the code stands for; *quotient the quotient.
int32_t PowerMod(int32_t a, int32_t code, int32_t* quotient = nullptr);
int32_t FastMod2(int32_t a, int32_t d, int32_t* quotient = nullptr);
// Truncating division; the remainder as second result. EPU on division by 0
// and on INT32_MIN / -1.
int32_t UdivMod32(int32_t a, int32_t b, int32_t* remainder = nullptr);
int32_t SdivMod32(int32_t a, int32_t b, int32_t* remainder = nullptr);
// n > 0: a pseudo-random number 0 to n-1; n < 0: seeds the generator with -n
// and returns 0; n == 0: returns 0.
int32_t Rnd(int32_t n);

// The module's self-test of the bit helpers (prints its findings).
void test_largestbitvalue();
void test_largestbitposition();
void main_pgeneral();

void new_pgeneral();
void end_pgeneral();

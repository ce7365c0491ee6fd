// The exports make each line, or each event, in place in their output's
// piece, in room sized for the longest one. A year of notes is mostly plain
// letters, so the runs that go out as they are are found eight bytes at a
// time.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Writes text at out; returns the end of what was written. A text of up to
// 128 bytes is copied here, a word at a time and the last word overlapping:
// a call to the C library's memcpy (Wine's msvcrt) costs more than its copy.
inline char* PutText(char* out, std::string_view text) {
  const char* from = text.data();
  const size_t n = text.size();
  if (n > 128) {
    std::memcpy(out, from, n);
  } else if (n >= 8) {
    uint64_t word;
    for (size_t i = 0; i + 8 <= n; i += 8) {
      std::memcpy(&word, from + i, 8);
      std::memcpy(out + i, &word, 8);
    }
    std::memcpy(&word, from + n - 8, 8);
    std::memcpy(out + n - 8, &word, 8);
  } else if (n >= 4) {
    uint32_t head, tail;
    std::memcpy(&head, from, 4);
    std::memcpy(&tail, from + n - 4, 4);
    std::memcpy(out, &head, 4);
    std::memcpy(out + n - 4, &tail, 4);
  } else {
    for (size_t i = 0; i < n; ++i) out[i] = from[i];
  }
  return out + n;
}

// Writes n (0..99999) in decimal, zeros in front up to `digits` digits (1..5).
inline char* PutNumber(char* out, int n, int digits) {
  char reversed[5];
  int k = 0;
  do {
    reversed[k++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (k < 5 && (n > 0 || k < digits));
  while (k > 0) *out++ = reversed[--k];
  return out;
}

// Eight bytes at a time: each test is nonzero exactly when some byte of the
// word is as named (the borrow of the subtraction only spoils the bits above
// the first such byte).
constexpr uint64_t EveryByte(unsigned b) { return 0x0101010101010101ull * b; }
constexpr uint64_t HasByteBelow(uint64_t word, unsigned n) {  // n at most 0x80
  return (word - EveryByte(n)) & ~word & EveryByte(0x80);
}
constexpr uint64_t HasByteAbove(uint64_t word, unsigned n) {  // n at most 0x7F
  return ((word + EveryByte(0x7F - n)) | word) & EveryByte(0x80);
}
constexpr uint64_t HasZeroByte(uint64_t word) { return HasByteBelow(word, 1); }
constexpr uint64_t HasByte(uint64_t word, unsigned b) { return HasZeroByte(word ^ EveryByte(b)); }

// How many of the size bytes at text come before the first one that
// special(byte) picks; whole words while specialInWord(word) says none of
// their bytes is one, then byte by byte. Every one of the size bytes must be
// readable, and special must pick the zero byte when text ends with one.
template <typename WordTest, typename ByteTest>
inline size_t PlainRunLength(const char* text, size_t size, WordTest specialInWord, ByteTest special) {
  size_t i = 0;
  for (uint64_t word; i + 8 <= size; i += 8) {
    std::memcpy(&word, text + i, 8);
    if (specialInWord(word)) break;
  }
  while (i < size && !special(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

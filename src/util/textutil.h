#pragma once
// Character and text routines shared across the editor. Texts are single-byte
// (Windows-1252) std::strings; none of these routines can fail.
#include <string>

namespace verno {

// Longest "short text": short-text routines look at no more than this many
// characters of their input and never return more.
inline constexpr int kShortMax = 255;

// Byte classes, ordered: the tests below compare against this order.
enum class CharClass {
    Other = 0,      // 128..255
    Control = 1,    // 0..31, 127
    BlankPunct = 2, // 32..47, 58..64, 91..96, 123..126
    Digit = 3,      // 0..9
    Lower = 4,      // a..z
    Upper = 5,      // A..Z
};

CharClass CharClassOf(unsigned char c);

bool IsLetterOrDigit(unsigned char c);
bool IsPrintable(unsigned char c); // 32..126 only
bool IsWordChar(unsigned char c);  // letter, digit or underscore
// False for any i outside the text (negative included).
bool IsWordCharAt(const std::string &text, int i);

// ASCII letters only; every other byte comes back unchanged.
char InvertCaseChar(char c);
char UpperCaseChar(char c);
char LowerCaseChar(char c);

// Case-insensitive equality for Windows-1252 text: ASCII letters, the Latin-1
// letters and the few letter pairs in 0x80..0x9F.
bool SameTextIgnoreCase(const std::string &a, const std::string &b);

// Short texts. Positions are 1-based; a start below 1 counts as 1; negative
// counts count as 0. Inputs longer than kShortMax are seen cut to kShortMax.
int ShortLength(const std::string &s);
int ShortPos(const std::string &s, const std::string &sub);     // 0: not found
int ShortLastPos(const std::string &s, const std::string &sub); // 0: not found
std::string ShortCopy(const std::string &s, int start, int count);
std::string ShortHead(const std::string &s, int n);
std::string ShortDelete(const std::string &s, int start, int count);
std::string ShortTruncate(const std::string &s, int n);
std::string ShortUpper(const std::string &s);
std::string ShortFromZeroText(const char *p); // nullptr gives ""
std::string ShortAfter(const std::string &s, const std::string &sep);  // "" if no sep
std::string ShortBefore(const std::string &s, const std::string &sep); // s if no sep

// Texts of any length. An empty separator never occurs.
std::string TextBefore(const std::string &s, const std::string &sep); // s if no sep
std::string TextAfter(const std::string &s, const std::string &sep);  // "" if no sep
bool HasWildcard(const std::string &s);
// Swaps the two frame characters of a framed name: "[" "]" when marked, blanks when not.
std::string ReframeName(const std::string &s, bool marked);

int IntMax(int a, int b);
int IntMin(int a, int b);

} // namespace verno

// Web and mail addresses found in the text of one logical line (code page
// 932 bytes). Pure functions: no window or device involved.
#pragma once
#include <string>
#include <vector>

namespace viewer {

enum LinkKind { kWebLink = 1, kMailLink = 2 };

struct LinkSpan {
    int start;  // first byte
    int end;    // one past the last byte
    LinkKind kind;
};

bool isUrlChar(unsigned char c);
bool isMailChar(unsigned char c);

// Addresses such as "http://host/path" whose scheme word is one of http,
// https, ftp, nntp, news, file, telnet and is not glued to a preceding
// single-byte word character.
std::vector<LinkSpan> findWebAddresses(const unsigned char* text, int length);

// Addresses such as "name@host.domain": a '@' with address characters on
// both sides and a '.' somewhere after it.
std::vector<LinkSpan> findMailAddresses(const unsigned char* text, int length);

// Both kinds, web addresses first.
std::vector<LinkSpan> findAddresses(const unsigned char* text, int length);

}  // namespace viewer

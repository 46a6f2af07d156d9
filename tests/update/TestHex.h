#pragma once
// Intel HEX for tests, written apart from the program's own reading so that
// a mistake there shows: builds records with their checksum and reads an
// image into addressed bytes (data records under extended segment and
// linear addresses). Plain C++, for the fake bootloader library too.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace TestHex {

using Bytes = std::vector<uint8_t>;

inline std::string record(int type, uint16_t offset, const Bytes &data)
{
    Bytes bytes = {uint8_t(data.size()), uint8_t(offset >> 8), uint8_t(offset), uint8_t(type)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    bytes.push_back(uint8_t(-sum));
    std::string line = ":";
    char digits[3];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        line += digits;
    }
    return line;
}

// Data records of 16 bytes (the last one shorter) for data at offset.
inline std::vector<std::string> dataRecords(uint16_t offset, const Bytes &data)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < data.size(); i += 16) {
        const Bytes chunk(data.begin() + long(i), data.begin() + long(std::min(data.size(), i + 16)));
        lines.push_back(record(0, uint16_t(offset + i), chunk));
    }
    return lines;
}

struct Record
{
    int type = 0;
    uint16_t offset = 0;
    Bytes data;
};

// Strict: colon, hex digits, matching length and checksum.
inline bool parse(const std::string &line, Record &out)
{
    if (line.size() < 11 || line[0] != ':' || line.size() % 2 == 0)
        return false;
    Bytes bytes;
    for (size_t i = 1; i + 1 < line.size(); i += 2) {
        unsigned value = 0;
        for (size_t j = i; j < i + 2; ++j) {
            const char c = line[j];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            value = value * 16 + unsigned(digit);
        }
        bytes.push_back(uint8_t(value));
    }
    unsigned sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    if (sum % 256 != 0 || bytes.size() != size_t(bytes[0]) + 5)
        return false;
    out.type = bytes[3];
    out.offset = uint16_t(bytes[1] << 8 | bytes[2]);
    out.data.assign(bytes.begin() + 4, bytes.end() - 1);
    return true;
}

// Calls byte(address, value) for every data byte of the image text; false at
// the first line that is neither empty nor a record. Stops at the end record.
template<class F>
bool forEachDataByte(const std::string &text, F byte)
{
    uint32_t base = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty())
            continue;
        Record r;
        if (!parse(line, r))
            return false;
        if (r.type == 0) {
            for (size_t i = 0; i < r.data.size(); ++i)
                byte(base + r.offset + uint32_t(i), r.data[i]);
        } else if (r.type == 1) {
            return true;
        } else if ((r.type == 2 || r.type == 4) && r.data.size() == 2) {
            const uint32_t value = uint32_t(r.data[0] << 8 | r.data[1]);
            base = r.type == 2 ? value << 4 : value << 16;
        }
    }
    return true;
}

} // namespace TestHex

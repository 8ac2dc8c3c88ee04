// Seeded mutations of a valid input file (flipped, cut, repeated, dropped
// bytes and absurd numbers), for tests that feed readers hostile input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A small deterministic generator (xorshift), so a failing case can be
// replayed from its iteration number.
class Mutator {
public:
    explicit Mutator(uint32_t seed) : m_state(seed ? seed : 1) {}
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }

    std::vector<uint8_t> Mutate(std::vector<uint8_t> data) {
        int edits = 1 + (int)Below(4);
        for (int i = 0; i < edits; ++i) {
            switch (Below(6)) {
            case 0:  // flip a byte
                if (!data.empty())
                    data[Below((uint32_t)data.size())] ^= (uint8_t)(1 + Below(255));
                break;
            case 1:  // cut the tail
                data.resize(Below((uint32_t)data.size() + 1));
                break;
            case 2: {  // insert junk
                size_t at = Below((uint32_t)data.size() + 1);
                std::vector<uint8_t> junk(1 + Below(16));
                for (auto& b : junk)
                    b = (uint8_t)Next();
                data.insert(data.begin() + (ptrdiff_t)at, junk.begin(), junk.end());
                break;
            }
            case 3: {  // repeat a chunk
                if (data.empty())
                    break;
                size_t from = Below((uint32_t)data.size());
                size_t len = 1 + Below((uint32_t)(data.size() - from));
                std::vector<uint8_t> chunk(data.begin() + (ptrdiff_t)from, data.begin() + (ptrdiff_t)(from + len));
                data.insert(data.begin() + (ptrdiff_t)Below((uint32_t)data.size() + 1), chunk.begin(), chunk.end());
                break;
            }
            case 4:  // an absurd 32-bit number somewhere
                if (data.size() >= 4) {
                    size_t at = Below((uint32_t)data.size() - 3);
                    uint32_t v = Below(2) ? 0xFFFFFFFFu : 0x7FFFFFF0u + Below(16);
                    for (int k = 0; k < 4; ++k)
                        data[at + k] = (uint8_t)(v >> (8 * k));
                }
                break;
            default:  // drop a range
                if (!data.empty()) {
                    size_t from = Below((uint32_t)data.size());
                    data.erase(data.begin() + (ptrdiff_t)from,
                               data.begin() + (ptrdiff_t)(from + Below((uint32_t)(data.size() - from)) + 1));
                }
                break;
            }
        }
        return data;
    }

private:
    uint32_t m_state;
};

// A copy of some bytes placed so that they end where an inaccessible page
// begins: reading one byte past them faults at once instead of passing
// silently over whatever the heap holds next.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

class CGuardedBuffer {
public:
    CGuardedBuffer(const void* data, size_t size) : m_size(size)
    {
        SYSTEM_INFO si{};
        ::GetSystemInfo(&si);
        const size_t page = si.dwPageSize;
        const size_t dataPages = (size + page - 1) / page;
        m_total = (dataPages + 1) * page;
        m_base = static_cast<uint8_t*>(::VirtualAlloc(nullptr, m_total, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (!m_base)
            return;
        DWORD old = 0;
        ::VirtualProtect(m_base + dataPages * page, page, PAGE_NOACCESS, &old);
        m_data = m_base + dataPages * page - size;
        if (size)
            std::memcpy(m_data, data, size);
    }
    explicit CGuardedBuffer(const std::vector<uint8_t>& bytes) : CGuardedBuffer(bytes.data(), bytes.size()) {}
    ~CGuardedBuffer() { if (m_base) ::VirtualFree(m_base, 0, MEM_RELEASE); }
    CGuardedBuffer(const CGuardedBuffer&) = delete;
    CGuardedBuffer& operator=(const CGuardedBuffer&) = delete;

    const uint8_t* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    uint8_t* m_base = nullptr;
    uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_total = 0;
};

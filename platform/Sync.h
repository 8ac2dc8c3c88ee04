// Synchronisation objects: thin owners of kernel handles, and a scoped lock.
#pragma once
#include <windows.h>

class CSyncObject {
public:
    CSyncObject() = default;
    virtual ~CSyncObject() { if (m_hObject) ::CloseHandle(m_hObject); }
    CSyncObject(const CSyncObject&) = delete;
    CSyncObject& operator=(const CSyncObject&) = delete;

    virtual BOOL Lock(DWORD timeout = INFINITE) {
        return m_hObject && ::WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0;
    }
    virtual BOOL Unlock() = 0;
    operator HANDLE() const { return m_hObject; }

    HANDLE m_hObject = nullptr;
};

class CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL initiallyOwn = FALSE, const wchar_t* name = nullptr,
                    LPSECURITY_ATTRIBUTES sa = nullptr) {
        m_hObject = ::CreateMutexW(sa, initiallyOwn, name);
        m_existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    }
    BOOL Lock(DWORD timeout = INFINITE) override {
        DWORD r = m_hObject ? ::WaitForSingleObject(m_hObject, timeout) : WAIT_FAILED;
        // An owner that ended without releasing still hands the mutex over.
        return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
    BOOL Unlock() override { return m_hObject && ::ReleaseMutex(m_hObject); }
    // Whether a named mutex existed before this object opened it.
    bool AlreadyExisted() const { return m_existed; }

private:
    bool m_existed = false;
};

class CEvent : public CSyncObject {
public:
    explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, const wchar_t* name = nullptr,
                    LPSECURITY_ATTRIBUTES sa = nullptr) {
        m_hObject = ::CreateEventW(sa, manualReset, initiallyOwn, name);
    }
    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL Unlock() override { return TRUE; }
};

class CSemaphore : public CSyncObject {
public:
    explicit CSemaphore(LONG initial = 1, LONG maximum = 1, const wchar_t* name = nullptr,
                        LPSECURITY_ATTRIBUTES sa = nullptr) {
        m_hObject = ::CreateSemaphoreW(sa, initial, maximum, name);
    }
    BOOL Unlock() override { return ::ReleaseSemaphore(m_hObject, 1, nullptr); }
};

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() override { ::DeleteCriticalSection(&m_sect); }
    BOOL Lock(DWORD timeout = INFINITE) override {
        if (timeout == INFINITE) {
            ::EnterCriticalSection(&m_sect);
            return TRUE;
        }
        DWORD start = ::GetTickCount();
        for (;;) {
            if (::TryEnterCriticalSection(&m_sect))
                return TRUE;
            if (::GetTickCount() - start >= timeout)
                return FALSE;
            ::Sleep(1);
        }
    }
    BOOL Unlock() override { ::LeaveCriticalSection(&m_sect); return TRUE; }
    operator CRITICAL_SECTION*() { return &m_sect; }

private:
    CRITICAL_SECTION m_sect;
};

// Locks an object for a scope; unlocks at destruction if still locked.
class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE) : m_object(object) {
        if (initialLock)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    BOOL Lock(DWORD timeout = INFINITE) {
        if (!m_object || m_locked)
            return m_locked;
        m_locked = m_object->Lock(timeout) != FALSE;
        return m_locked;
    }
    BOOL Unlock() {
        if (!m_locked)
            return FALSE;
        m_locked = false;
        return m_object->Unlock();
    }
    BOOL IsLocked() const { return m_locked; }

private:
    CSyncObject* m_object;
    bool m_locked = false;
};

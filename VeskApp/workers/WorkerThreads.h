// The threads one kind of dialog worker has started: each start first lets
// go of those that have ended; joining waits for the rest while the calling
// (UI) thread keeps handling the messages they send it.
#pragma once
#include <windows.h>

#include <vector>

class CWorkerThreads {
public:
    CWorkerThreads() = default;
    // The owner joins first: its threads use the owner's members.
    ~CWorkerThreads() { Join(); }
    CWorkerThreads(const CWorkerThreads&) = delete;
    CWorkerThreads& operator=(const CWorkerThreads&) = delete;

    // Runs fn(arg) on a new thread at `priority`; false when none started.
    bool Start(unsigned(__stdcall* fn)(void*), void* arg, int priority = THREAD_PRIORITY_NORMAL);
    void Join();

private:
    void Reap();
    std::vector<HANDLE> m_threads;
};

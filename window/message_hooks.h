// What the application's message loop offers the windows it runs: a message filter sees each
// message before it is dispatched (accelerators), an idle handler runs when the queue has gone
// empty (command states). The loop knows these two and nothing else of its windows.
#pragma once

#include <windows.h>

class MessageFilter {
public:
    // True when the message was handled here and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& msg) = 0;

protected:
    ~MessageFilter() = default;
};

class IdleHandler {
public:
    virtual void OnIdle() = 0;

protected:
    ~IdleHandler() = default;
};

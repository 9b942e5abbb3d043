// A line on which calls are made and answered: the receiver thread of a
// field device waits on it for a call, and every pass notes whether a call
// is up, since a call coming up or ending changes the connection and the
// PPP link.
#pragma once

class Call_Line {
public:
    virtual ~Call_Line() = default;

    virtual bool in_call() const = 0;
    // A field device's turn at the line: answers a call that rings and waits
    // for it to connect; returns soon when none rings. True once connected.
    virtual bool answer_call() = 0;
    // Ends a wait for a call in progress at once (the thread is stopping).
    virtual void cancel_wait() = 0;
};

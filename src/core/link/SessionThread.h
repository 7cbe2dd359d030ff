#pragma once

#include <QEventLoop>

#include <future>
#include <thread>

// Starts `thread` with an event loop of its own, in which a `Session` made
// from `owner` opens its port (`Open()`) and, when that worked, runs until it
// quits the loop. Port and timers are created, used and destroyed in that
// thread. False, with the thread already ended, when the port did not open.
template <typename Session, typename Owner> bool StartSessionThread(std::thread& thread, Owner& owner) {
    std::promise<bool> opened;
    std::future<bool> result = opened.get_future();
    thread = std::thread([&owner, &opened] {
        QEventLoop loop;
        Session session(owner, loop);
        const bool ok = session.Open();
        opened.set_value(ok);
        if (ok)
            loop.exec();
    });
    const bool ok = result.get();
    if (!ok)
        thread.join();
    return ok;
}

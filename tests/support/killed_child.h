#pragma once
// Runs a piece of a test in a forked child that is killed (SIGKILL) part-way, as a crash or a
// power cut of the program would end it. Only plain function calls belong in the piece: it runs in
// a fork of a process with Qt objects.
#include <chrono>
#include <functional>

// Runs piece in a child, which ends when piece returns, and kills it delay after it started, or
// with from given, delay after from() (polled from here) first held. True when the child had
// finished by then.
bool RunKilledAfter(const std::function<void()>& piece, std::chrono::microseconds delay,
                    const std::function<bool()>& from = {});

// How long piece takes in a child, from the fork to its end, or with until given, until until()
// (polled from here) first holds.
std::chrono::microseconds TimeInChild(const std::function<void()>& piece, const std::function<bool()>& until = {});

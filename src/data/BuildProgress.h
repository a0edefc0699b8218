#pragma once

// What an exam set build reports while it copies items. The progress window implements it;
// tests and benchmarks build without one.
class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    virtual void buildStarted() = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual void buildFinished() = 0;
};

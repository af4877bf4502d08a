#pragma once
// An observer for action tests: answers questions from a script and keeps every event.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "converter/actions/action_events.h"

namespace converter::actions::testing {

class RecordingObserver final : public ActionObserver {
  public:
    std::deque<bool> answers;                          // the yes/no questions take them in turn
    std::deque<BadSectorDecision> decisions;           // for bad sectors; Fill once none is left
    std::vector<std::string> events;                   // questions, notes and phases, one line each
    std::vector<BadSector> badSectors;                 // as reported
    std::map<Phase, std::vector<uint32_t>> cylinders;  // the cylinders done, by phase
    std::vector<Result> results;                       // finished() calls
    std::function<void()> whenFinished = [] {};

    bool insertMedium() override { return answer("insert medium?"); }
    bool eraseFloppy(char letter) override { return answer(std::string("erase ") + letter + ":?"); }
    bool formatBeforeWriting() override { return answer("format first?"); }
    bool formatToOffered(const DiskGeometry& offered) override {
        return answer("format to type " + std::to_string(offered.mediaType) + "?");
    }
    BadSectorDecision badSector(const BadSector& sector) override {
        badSectors.push_back(sector);
        if (decisions.empty()) return BadSectorDecision::Fill;
        const BadSectorDecision decision = decisions.front();
        decisions.pop_front();
        return decision;
    }
    void mustBeFormatted() override { events.emplace_back("must be formatted"); }
    void started(Phase phase, const DiskGeometry& g) override {
        events.push_back(std::string(name(phase)) + " " + std::to_string(g.cylinders) + "/" +
                         std::to_string(g.tracksPerCylinder) + "/" + std::to_string(g.sectorsPerTrack));
    }
    void cylinderDone(Phase phase, uint32_t cylinder) override { cylinders[phase].push_back(cylinder); }
    void finished(const Result& result) override {
        results.push_back(result);
        whenFinished();
    }

    // The one result of the run.
    const Result& result() const {
        EXPECT_EQ(results.size(), 1u);
        static const Result none;
        return results.empty() ? none : results.back();
    }

    static const char* name(Phase phase) {
        constexpr const char* kNames[] = {"reading", "formatting", "writing"};
        return kNames[static_cast<int>(phase)];
    }

  private:
    bool answer(const std::string& question) {
        events.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted question: " << question;
            return false;
        }
        const bool given = answers.front();
        answers.pop_front();
        return given;
    }
};

// 0, 1, ..., count - 1: the cylinders of a run that went through.
inline std::vector<uint32_t> firstCylinders(uint32_t count) {
    std::vector<uint32_t> out(count);
    for (uint32_t c = 0; c < count; ++c) out[c] = c;
    return out;
}

}  // namespace converter::actions::testing

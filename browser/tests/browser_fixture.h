#pragma once
// Shared setup of the browser's logic tests: the real library bound at run time, a scripted view, scratch
// folders standing in for drives, and images made with the templates and mtools.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "browser/browser_dialog.h"
#include "fixture.h"
#include "scripted_view.h"

namespace browser::testing {

const LibraryEntries& boundLibrary();

class BrowserTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // A dialog over the given drives (all accessible unless named in inaccessible), initialised.
    BrowserDialog& start(std::vector<platform::HostDrive> drives, StartOptions options = {});
    BrowserDialog& start() { return start({{scratch.path().string(), platform::DriveType::Fixed}}); }

    // A 1.44 MB image from the built-in template with a label (empty: none), filled from a host folder.
    std::string makeImage(const std::string& name, const std::string& label,
                          const std::string& filesFolder = "");

    ItemHandle hostItem(const std::string& text) const { return view.find(Tree::Host, text); }

    testing_support::ScratchDir scratch;
    ScriptedView view;
    std::set<std::string> inaccessible;
    std::unique_ptr<BrowserDialog> dialog;
};

}  // namespace browser::testing

#pragma once

namespace mousedeck::shell {

// What the user sees change when the interface language changes. The front
// ends implement it; every method has an empty default so each implements
// only what it shows. Called on the user-interface thread only.
class LanguageObserver {
public:
    virtual ~LanguageObserver() = default;

    // Every fixed text of the main window and its pages is to be looked up
    // again (LangText) and shown, with the interface font set again.
    virtual void ShowTextsInLanguage(int /*lcid*/) {}
};

}  // namespace mousedeck::shell

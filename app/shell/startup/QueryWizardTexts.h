#pragma once
// The captions, messages and fonts the program hands the query wizard library at start-up.
namespace cdz {

void setQueryWizardTexts();

}  // namespace cdz

#pragma once

// The designer's words for each rule of the figure check.

#include "figures/figure_rules.h"

#include <QString>

// One line for the side panel: a tick and what holds, a cross and why it fails,
// or a dash when another rule keeps it from being checked. `otherName` names
// the figure a failed distinctness points at (Detail[0] + 1 is its number).
QString RuleLine(int language, const RuleResult& result, const QString& otherName = {});

// The dash line of a rule whose verdict is still being searched for.
QString RulePending(int language, RuleId id);

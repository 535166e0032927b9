// Adds many tabs to a QTabBar at once.
//
// QTabBar::addTab lays out every tab it holds (it looks up which tab is under the
// mouse, which needs their places) and walks all of them again, so adding tabs one
// by one costs time that grows with the square of their number: a sheet of 65,535
// pages took a minute to appear. AppendTabs puts the tabs at the end of the bar's
// list and has it laid out once, which is what addTab leaves behind for captions
// without a mnemonic.
#pragma once

#include <QStringList>
#include <QTabBar>

namespace quorvel::ui::qt {

// Appends one tab per text, in order, as addTab would. Texts must not make a
// mnemonic (every '&' doubled).
void AppendTabs(QTabBar& bar, const QStringList& texts);

}  // namespace quorvel::ui::qt

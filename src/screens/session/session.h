#pragma once

#include "estimate/estimate_file.h"

#include <QString>

// The estimate of this run and its file: saving it, opening one, and the question before unsaved
// work goes. Opening enters the file's inputs again through the screens, as the user would.
namespace session {

// As every run starts: no file yet, the save commands on every screen, the question on every
// way out.
void beginRun();

// The estimate as the screens hold it now. The system type must have been chosen.
estimate::Estimate capture();

// Saves the estimate (Ctrl+S): to its file, or to one the user chooses the first time and
// whenever asked to choose. False when nothing was saved.
bool save(bool choosePath);

// "Abrir estimación…": after the unsaved-work question and the open dialog the file is checked
// at once; it is entered as soon as the running handler has returned.
void askAndOpen();

// Checks the whole file and, only when it is sound, enters it into a fresh run; otherwise a
// message, and the estimate on screen stays as it was. Never from inside a handler: the run's
// screens are replaced.
bool open(const QString& path);

// The file this run's estimate was last saved to or opened from; empty before either.
QString currentPath();

} // namespace session

#pragma once

#include <functional>
#include <string>

class QWidget;

// Gives Form1 its way to the title list: Ctrl+L, and タイトル一覧(&L)… in
// File1's context menu (the right button or the menu key; the press still
// reads the file), open it on the folder Form1 shows (folderShown). One
// window, opened again on another folder; it closes with Form1. Enter or a
// double-click on one of its rows calls goToFile with that file's path.
void AddTitleList(QWidget* form1, QWidget* file1, std::function<std::string()> folderShown,
                  std::function<void(const std::string& nativePath)> goToFile);

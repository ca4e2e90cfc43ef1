#pragma once

class DirectoryList;
class DriveList;
class FileList;
class QWidget;

// Gives Form1 its way to the title list: Ctrl+L, and タイトル一覧(&L)… in
// File1's context menu (the right button or the menu key; the press still
// reads the file), open it on the folder File1 shows. One window, opened
// again on another folder; it closes with Form1. Enter or a double-click
// on one of its rows brings Form1 to that file and to the front.
void AddTitleList(QWidget* form1, DriveList* drive1, DirectoryList* dir1, FileList* file1);

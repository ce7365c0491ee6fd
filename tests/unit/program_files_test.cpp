#include <cstring>

#include "program_dir.h"

// Every file's path: the executable's directory cut behind its last
// separator, then the name; empty when the whole does not fit or there is
// no directory, rather than naming a file of the current directory.
TEST(ProgramPath, EveryFileAndTheLongestDirectory) {
  const std::string dir244 = "C:\\" + std::string(244, 'd') + "\\", dir245 = "C:\\" + std::string(245, 'd') + "\\";
  const struct { std::string executable; int file, last; std::string expected; } cases[] = {
      {"C:\\Prog\\Oristel.exe", SettingsFileIndex, 7, "C:\\Prog\\cal_2007.op"},
      {"C:\\Prog\\Oristel.exe", UnusedCalFileIndex, 7, "C:\\Prog\\cal_2007.cal"},
      {"C:\\Prog\\Oristel.exe", NotesFileIndex, 7, "C:\\Prog\\cal_notas.dat"},
      {"C:\\Prog\\Oristel.exe", TempPageFileIndex, 7, "C:\\Prog\\cal_temp.htm"},
      {"C:\\Prog\\Oristel.exe", ImportErrorsFileIndex, 7, "C:\\Prog\\Calendario_Errores_Import.txt"},
      {"C:\\Prog\\Oristel.exe", 5, 7, "C:\\Prog\\"},  {"C:\\Prog\\Oristel.exe", -1, 7, "C:\\Prog\\"},
      {"/opt/a\\b/O.exe", NotesFileIndex, 8, "/opt/a\\b/cal_notas.dat"},
      {dir244 + "O.exe", SettingsFileIndex, 247, dir244 + "cal_2007.op"},  // 259 characters
      {dir245 + "O.exe", SettingsFileIndex, 248, ""},                      // 260: no room for the zero
      {"Oristel.exe", SettingsFileIndex, -1, ""},
  };
  for (const auto& c : cases) {
    OsSetExecutablePath(c.executable.c_str());
    char path[PathSize];
    std::memset(path, 'x', sizeof path);
    EXPECT_EQ(GetProgramDirectory(path), c.last) << c.executable;
    EXPECT_EQ(BuildProgramPath(path, c.file), c.expected) << c.executable << " " << c.file;
  }
  OsSetExecutablePath(nullptr);
}

using FileOperations = ProgramDirTest;

// Checks run open, position, transfer: moving past the end succeeds, so a
// read past it fails as a read.
TEST_F(FileOperations, ReadReportsOpenThenTransferAndLeavesTheFileFree) {
  const std::string path = PathOf("data.bin");
  unsigned char buffer[4] = {};
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 0, 4), 0);
  WriteBytes(path, Bytes{1, 2, 3, 4, 5, 6, 7});
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 4, 4) + ReadFileAt(path.c_str(), buffer, 100, 1), 0);
  EXPECT_TRUE(Released(path));
  EXPECT_EQ(ReadFileAt(path.c_str(), buffer, 3, 4), 1);
  EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{4, 5, 6, 7}));
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("leer", path), FileMessage("leer", path)}));
}

TEST_F(FileOperations, WriteNeverCreatesAndExtendsPastTheEnd) {
  const std::string path = PathOf("data.bin");
  const unsigned char data[2] = {0xAA, 0xBB};
  EXPECT_EQ(WriteFileAt(path.c_str(), data, 0, 2) + AppendToFile(path.c_str(), data, 2), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("abrir", path)}));
  WriteBytes(path, Bytes{1, 2, 3, 4});
  EXPECT_TRUE(WriteFileAt(path.c_str(), data, 1, 2) && WriteFileAt(path.c_str(), data, 6, 2) &&
              AppendToFile(path.c_str(), data, 1) && Released(path));
  EXPECT_EQ(ReadBytes(path), (Bytes{1, 0xAA, 0xBB, 4, 0, 0, 0xAA, 0xBB, 0xAA}));  // in place, never shortened
  EXPECT_EQ(g_shown.size(), 2u);
}

TEST_F(FileOperations, SizeCreateAndHandleOperations) {
  const std::string path = PathOf("made.txt"), nowhere = PathOf("no_such_folder/x.txt");
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);  // missing: 0 with a message
  const FileHandle file = CreateNewFile(path.c_str());
  ASSERT_NE(file, NoFile);
  EXPECT_TRUE(AppendToHandle(file, path.c_str(), "abc", 3) && WriteAtOffset(file, path.c_str(), "Z", 1, 1) &&
              AppendToHandle(file, path.c_str(), "de", 2));
  OsClose(file);
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 5u);
  EXPECT_EQ(ReadBytes(path), (Bytes{'a', 'Z', 'c', 'd', 'e'}));
  ASSERT_EQ(CreateEmptyFile(path.c_str()), 1);     // over an existing file: empties it
  EXPECT_EQ(GetFileSizeByName(path.c_str()), 0u);  // empty: 0 without a message
  EXPECT_TRUE(Released(path));
  EXPECT_EQ(CreateEmptyFile(nowhere.c_str()) + OpenExistingFile(FileRead, nowhere.c_str()), 0);
  EXPECT_EQ(g_shown, (std::vector{FileMessage("abrir", path), FileMessage("crear", nowhere),
                                  FileMessage("abrir", nowhere)}));
}

// Every fixed message and every verb, with the longest path whole; another
// message index shows nothing, another verb an empty word.
TEST_F(FileOperations, EveryMessageAndVerb) {
  std::vector<std::string> expected = {
      "Petición de memoria denegada", "Fallo al descomprimir", "Este archivo no admite su edición",
      "No encuentro archivos de datos (.cal)", "No hay archivo de información seleccionado", "Archivo vacio",
      "El tamaño del archivo excede la capacidad disponible"};
  for (int message = -1; message <= 7; ++message) EXPECT_EQ(ShowProgramMessage(message), 0);
  const std::string longest(PathSize - 1, 'p');
  const char* const verbs[] = {"", "crear", "abrir", "leer", "escribir", "posicionarme", ""};
  for (int verb = 0; verb <= 6; ++verb) {
    EXPECT_EQ(ReportFileError(longest.c_str(), verb), 0);
    expected.push_back(FileMessage(verbs[verb], longest));
  }
  EXPECT_EQ(g_shown, expected);
}

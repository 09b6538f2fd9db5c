#pragma once

#include <map>
#include <string>

#include "classfile.h"

namespace standins {

// One class of an API listing: a header line, then one indented line per public or protected field and
// method, fields first, each group sorted by name and descriptor. Empty for a class code outside its
// package cannot see.
//   class javax/microedition/lcdui/Canvas public abstract extends javax/microedition/lcdui/Displayable
//     field UP I public static final = 1
//     method repaint (IIII)V public final
//     method open (Ljava/lang/String;)Ljavax/microedition/io/Connection; public static throws
//     java/io/IOException
std::string apiLines(const ApiClass& api);

// The listing of every class file among a jar's entries, classes sorted by name. A class file that cannot
// be read gets a line "unreadable <entry>: <reason>", so a broken jar never lists clean.
std::string apiListing(const std::map<std::string, std::string>& jarEntries);

}  // namespace standins

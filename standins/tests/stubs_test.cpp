// The API stubs hold the public API's constants and the CLDC 1.0 / 1.1 split; a wrong stub hides a wrong
// program.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "suite.h"
#include "test_util.h"

namespace standins::test {
namespace {

// javap's listing of each class, keyed by jar and class, read straight from the stub jars (never from the
// JDK's own classes) in one run of javap: a JVM start costs more than the listings.
std::map<std::string, std::string> constantsOf(
    const std::vector<std::pair<std::string, std::string>>& classes) {
    std::vector<std::string> argv = {TZ_JAVAP, "-constants"};
    for (const auto& [jar, className] : classes) {
        std::string entry = className;
        for (char& c : entry) {
            if (c == '.') c = '/';
        }
        argv.push_back("jar:file://" + lib(jar) + "!/" + entry + ".class");
    }
    ToolRun javap = run(argv);
    EXPECT_EQ(javap.status, 0) << javap.errors;
    // The listings stand in the order asked, each ended by a line "}".
    std::map<std::string, std::string> listings;
    std::size_t next = 0;
    std::string listing;
    for (const std::string& line : tz::testing::splitLines(javap.output)) {
        listing += line + "\n";
        if (line != "}" || next >= classes.size()) continue;
        listings[classes[next].first + "!" + classes[next].second] = listing;
        listing.clear();
        ++next;
    }
    EXPECT_EQ(next, classes.size()) << javap.output;
    return listings;
}

TEST(ApiStubs, ConstantsHaveThePublicValues) {
    struct Row {
        const char* jar;
        const char* className;
        std::vector<std::string> lines;
    } rows[] = {
        {"midpapi20.jar",
         "javax.microedition.lcdui.Canvas",
         {"int UP = 1;", "int DOWN = 6;", "int LEFT = 2;", "int RIGHT = 5;", "int FIRE = 8;",
          "int GAME_A = 9;", "int GAME_B = 10;", "int GAME_C = 11;", "int GAME_D = 12;", "int KEY_NUM0 = 48;",
          "int KEY_NUM5 = 53;", "int KEY_NUM9 = 57;", "int KEY_STAR = 42;", "int KEY_POUND = 35;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.Graphics",
         {"int HCENTER = 1;", "int VCENTER = 2;", "int LEFT = 4;", "int RIGHT = 8;", "int TOP = 16;",
          "int BOTTOM = 32;", "int BASELINE = 64;", "int SOLID = 0;", "int DOTTED = 1;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.Command",
         {"int SCREEN = 1;", "int BACK = 2;", "int CANCEL = 3;", "int OK = 4;", "int HELP = 5;",
          "int STOP = 6;", "int EXIT = 7;", "int ITEM = 8;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.Font",
         {"int STYLE_PLAIN = 0;", "int STYLE_BOLD = 1;", "int STYLE_ITALIC = 2;", "int STYLE_UNDERLINED = 4;",
          "int SIZE_SMALL = 8;", "int SIZE_MEDIUM = 0;", "int SIZE_LARGE = 16;", "int FACE_SYSTEM = 0;",
          "int FACE_MONOSPACE = 32;", "int FACE_PROPORTIONAL = 64;", "int FONT_INPUT_TEXT = 1;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.Display",
         {"int LIST_ELEMENT = 1;", "int ALERT = 3;", "int COLOR_BACKGROUND = 0;",
          "int COLOR_HIGHLIGHTED_BORDER = 5;"}},
        {"midpapi20.jar", "javax.microedition.lcdui.Alert", {"int FOREVER = -2;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.TextField",
         {"int ANY = 0;", "int EMAILADDR = 1;", "int NUMERIC = 2;", "int PHONENUMBER = 3;", "int URL = 4;",
          "int DECIMAL = 5;", "int PASSWORD = 65536;", "int UNEDITABLE = 131072;", "int SENSITIVE = 262144;",
          "int NON_PREDICTIVE = 524288;", "int INITIAL_CAPS_WORD = 1048576;",
          "int INITIAL_CAPS_SENTENCE = 2097152;", "int CONSTRAINT_MASK = 65535;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.Choice",
         {"int EXCLUSIVE = 1;", "int MULTIPLE = 2;", "int IMPLICIT = 3;", "int POPUP = 4;",
          "int TEXT_WRAP_DEFAULT = 0;", "int TEXT_WRAP_ON = 1;", "int TEXT_WRAP_OFF = 2;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.Item",
         {"int LAYOUT_DEFAULT = 0;", "int LAYOUT_LEFT = 1;", "int LAYOUT_RIGHT = 2;",
          "int LAYOUT_CENTER = 3;", "int LAYOUT_TOP = 16;", "int LAYOUT_BOTTOM = 32;",
          "int LAYOUT_VCENTER = 48;", "int LAYOUT_NEWLINE_BEFORE = 256;", "int LAYOUT_NEWLINE_AFTER = 512;",
          "int LAYOUT_SHRINK = 1024;", "int LAYOUT_EXPAND = 2048;", "int LAYOUT_VSHRINK = 4096;",
          "int LAYOUT_VEXPAND = 8192;", "int LAYOUT_2 = 16384;", "int PLAIN = 0;", "int HYPERLINK = 1;",
          "int BUTTON = 2;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.game.GameCanvas",
         {"int UP_PRESSED = 2;", "int DOWN_PRESSED = 64;", "int LEFT_PRESSED = 4;", "int RIGHT_PRESSED = 32;",
          "int FIRE_PRESSED = 256;", "int GAME_A_PRESSED = 512;", "int GAME_D_PRESSED = 4096;"}},
        {"midpapi20.jar",
         "javax.microedition.lcdui.game.Sprite",
         {"int TRANS_NONE = 0;", "int TRANS_ROT90 = 5;", "int TRANS_ROT180 = 3;", "int TRANS_ROT270 = 6;",
          "int TRANS_MIRROR = 2;", "int TRANS_MIRROR_ROT90 = 7;", "int TRANS_MIRROR_ROT180 = 1;",
          "int TRANS_MIRROR_ROT270 = 4;"}},
        {"cldcapi10.jar",
         "java.lang.Integer",
         {"int MIN_VALUE = -2147483648;", "int MAX_VALUE = 2147483647;"}},
        {"cldcapi10.jar",
         "java.lang.Long",
         {"long MIN_VALUE = -9223372036854775808l;", "long MAX_VALUE = 9223372036854775807l;"}},
        {"cldcapi10.jar", "java.lang.Short", {"short MIN_VALUE = -32768;", "short MAX_VALUE = 32767;"}},
        {"cldcapi10.jar", "java.lang.Byte", {"byte MIN_VALUE = -128;", "byte MAX_VALUE = 127;"}},
        {"cldcapi10.jar",
         "java.lang.Character",
         {"int MIN_RADIX = 2;", "int MAX_RADIX = 36;", "char MAX_VALUE = '\\uffff';"}},
        {"cldcapi10.jar",
         "java.lang.Thread",
         {"int MIN_PRIORITY = 1;", "int NORM_PRIORITY = 5;", "int MAX_PRIORITY = 10;"}},
        {"cldcapi10.jar",
         "java.util.Calendar",
         {"int YEAR = 1;", "int MONTH = 2;", "int DATE = 5;", "int DAY_OF_MONTH = 5;", "int DAY_OF_WEEK = 7;",
          "int AM_PM = 9;", "int HOUR = 10;", "int HOUR_OF_DAY = 11;", "int MINUTE = 12;", "int SECOND = 13;",
          "int MILLISECOND = 14;", "int SUNDAY = 1;", "int SATURDAY = 7;", "int JANUARY = 0;",
          "int DECEMBER = 11;", "int PM = 1;"}},
        {"cldcapi10.jar",
         "javax.microedition.io.Connector",
         {"int READ = 1;", "int WRITE = 2;", "int READ_WRITE = 3;"}},
        {"cldcapi11.jar",
         "java.lang.Math",
         {"double E = 2.718281828459045d;", "double PI = 3.141592653589793d;"}},
        {"cldcapi11.jar",
         "java.lang.Float",
         {"float POSITIVE_INFINITY = Infinityf;", "float NaN = NaNf;", "float MAX_VALUE = 3.4028235E38f;",
          "float MIN_VALUE = 1.4E-45f;"}},
        {"cldcapi11.jar",
         "java.lang.Double",
         {"double NEGATIVE_INFINITY = -Infinityd;", "double MAX_VALUE = 1.7976931348623157E308d;",
          "double MIN_VALUE = 4.9E-324d;"}},
        {"mmapi.jar",
         "javax.microedition.media.Player",
         {"int UNREALIZED = 100;", "int REALIZED = 200;", "int PREFETCHED = 300;", "int STARTED = 400;",
          "int CLOSED = 0;", "long TIME_UNKNOWN = -1l;"}},
        {"mmapi.jar",
         "javax.microedition.media.PlayerListener",
         {"java.lang.String STARTED = \"started\";", "java.lang.String STOPPED = \"stopped\";",
          "java.lang.String STOPPED_AT_TIME = \"stoppedAtTime\";",
          "java.lang.String END_OF_MEDIA = \"endOfMedia\";",
          "java.lang.String DURATION_UPDATED = \"durationUpdated\";",
          "java.lang.String DEVICE_UNAVAILABLE = \"deviceUnavailable\";",
          "java.lang.String DEVICE_AVAILABLE = \"deviceAvailable\";",
          "java.lang.String VOLUME_CHANGED = \"volumeChanged\";",
          "java.lang.String SIZE_CHANGED = \"sizeChanged\";", "java.lang.String ERROR = \"error\";",
          "java.lang.String CLOSED = \"closed\";", "java.lang.String RECORD_STARTED = \"recordStarted\";",
          "java.lang.String RECORD_STOPPED = \"recordStopped\";",
          "java.lang.String RECORD_ERROR = \"recordError\";",
          "java.lang.String BUFFERING_STARTED = \"bufferingStarted\";",
          "java.lang.String BUFFERING_STOPPED = \"bufferingStopped\";"}},
        {"mmapi.jar",
         "javax.microedition.media.Manager",
         {"java.lang.String TONE_DEVICE_LOCATOR = \"device://tone\";",
          "java.lang.String MIDI_DEVICE_LOCATOR = \"device://midi\";"}},
        {"mmapi.jar", "javax.microedition.media.control.VideoControl", {"int USE_DIRECT_VIDEO = 1;"}},
        {"mmapi.jar",
         "javax.microedition.media.control.ToneControl",
         {"byte VERSION = -2;", "byte TEMPO = -3;", "byte RESOLUTION = -4;", "byte BLOCK_START = -5;",
          "byte BLOCK_END = -6;", "byte PLAY_BLOCK = -7;", "byte SET_VOLUME = -8;", "byte REPEAT = -9;",
          "byte C4 = 60;", "byte SILENCE = -1;"}},
        {"mmapi.jar", "javax.microedition.media.control.GUIControl", {"int USE_GUI_PRIMITIVE = 0;"}},
        {"midpapi20.jar",
         "javax.microedition.rms.RecordStore",
         {"int AUTHMODE_PRIVATE = 0;", "int AUTHMODE_ANY = 1;"}},
        {"midpapi20.jar",
         "javax.microedition.rms.RecordComparator",
         {"int EQUIVALENT = 0;", "int FOLLOWS = 1;", "int PRECEDES = -1;"}},
        {"midpapi20.jar",
         "javax.microedition.io.HttpConnection",
         {"java.lang.String HEAD = \"HEAD\";",
          "java.lang.String GET = \"GET\";",
          "java.lang.String POST = \"POST\";",
          "int HTTP_OK = 200;",
          "int HTTP_CREATED = 201;",
          "int HTTP_ACCEPTED = 202;",
          "int HTTP_NOT_AUTHORITATIVE = 203;",
          "int HTTP_NO_CONTENT = 204;",
          "int HTTP_RESET = 205;",
          "int HTTP_PARTIAL = 206;",
          "int HTTP_MULT_CHOICE = 300;",
          "int HTTP_MOVED_PERM = 301;",
          "int HTTP_MOVED_TEMP = 302;",
          "int HTTP_SEE_OTHER = 303;",
          "int HTTP_NOT_MODIFIED = 304;",
          "int HTTP_USE_PROXY = 305;",
          "int HTTP_TEMP_REDIRECT = 307;",
          "int HTTP_BAD_REQUEST = 400;",
          "int HTTP_UNAUTHORIZED = 401;",
          "int HTTP_PAYMENT_REQUIRED = 402;",
          "int HTTP_FORBIDDEN = 403;",
          "int HTTP_NOT_FOUND = 404;",
          "int HTTP_BAD_METHOD = 405;",
          "int HTTP_NOT_ACCEPTABLE = 406;",
          "int HTTP_PROXY_AUTH = 407;",
          "int HTTP_CLIENT_TIMEOUT = 408;",
          "int HTTP_CONFLICT = 409;",
          "int HTTP_GONE = 410;",
          "int HTTP_LENGTH_REQUIRED = 411;",
          "int HTTP_PRECON_FAILED = 412;",
          "int HTTP_ENTITY_TOO_LARGE = 413;",
          "int HTTP_REQ_TOO_LONG = 414;",
          "int HTTP_UNSUPPORTED_TYPE = 415;",
          "int HTTP_UNSUPPORTED_RANGE = 416;",
          "int HTTP_EXPECT_FAILED = 417;",
          "int HTTP_INTERNAL_ERROR = 500;",
          "int HTTP_NOT_IMPLEMENTED = 501;",
          "int HTTP_BAD_GATEWAY = 502;",
          "int HTTP_UNAVAILABLE = 503;",
          "int HTTP_GATEWAY_TIMEOUT = 504;",
          "int HTTP_VERSION = 505;"}},
        {"midpapi20.jar",
         "javax.microedition.io.SocketConnection",
         {"byte DELAY = 0;", "byte LINGER = 1;", "byte KEEPALIVE = 2;", "byte RCVBUF = 3;",
          "byte SNDBUF = 4;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.Graphics3D",
         {"int ANTIALIAS = 2;", "int DITHER = 4;", "int TRUE_COLOR = 8;", "int OVERWRITE = 16;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.Texture2D",
         {"int FILTER_NEAREST = 210;", "int FUNC_MODULATE = 227;", "int WRAP_REPEAT = 241;"}},
        {"jsr184.jar", "javax.microedition.m3g.Image2D", {"int ALPHA = 96;", "int RGBA = 100;"}},
        {"jsr184.jar", "javax.microedition.m3g.Fog", {"int EXPONENTIAL = 80;", "int LINEAR = 81;"}},
        {"jsr184.jar", "javax.microedition.m3g.Image2D", {"int LUMINANCE = 97;", "int RGB = 99;"}},
        {"jsr184.jar", "javax.microedition.m3g.Background", {"int BORDER = 32;", "int REPEAT = 33;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.Node",
         {"int NONE = 144;", "int ORIGIN = 145;", "int X_AXIS = 146;", "int Y_AXIS = 147;",
          "int Z_AXIS = 148;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.Camera",
         {"int GENERIC = 48;", "int PARALLEL = 49;", "int PERSPECTIVE = 50;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.Light",
         {"int AMBIENT = 128;", "int DIRECTIONAL = 129;", "int OMNI = 130;", "int SPOT = 131;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.Material",
         {"int AMBIENT = 1024;", "int DIFFUSE = 2048;", "int EMISSIVE = 4096;", "int SPECULAR = 8192;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.CompositingMode",
         {"int ALPHA = 64;", "int ALPHA_ADD = 65;", "int MODULATE = 66;", "int MODULATE_X2 = 67;",
          "int REPLACE = 68;"}},
        {"jsr184.jar",
         "javax.microedition.m3g.PolygonMode",
         {"int CULL_BACK = 160;", "int CULL_FRONT = 161;", "int CULL_NONE = 162;", "int SHADE_FLAT = 164;",
          "int SHADE_SMOOTH = 165;", "int WINDING_CCW = 168;", "int WINDING_CW = 169;"}},
    };
    std::vector<std::pair<std::string, std::string>> classes;
    for (const auto& row : rows) {
        if (std::find(classes.begin(), classes.end(),
                      std::pair<std::string, std::string>(row.jar, row.className)) == classes.end())
            classes.emplace_back(row.jar, row.className);
    }
    const std::map<std::string, std::string> listings = constantsOf(classes);
    for (const auto& row : rows) {
        const auto found = listings.find(std::string(row.jar) + "!" + row.className);
        ASSERT_NE(found, listings.end()) << row.className;
        const std::string& listing = found->second;
        for (const auto& line : row.lines) {
            EXPECT_NE(listing.find("  public static final " + line + "\n"), std::string::npos)
                << row.className << ": " << line << "\n"
                << listing;
        }
    }
}

TEST(ApiStubs, CldcTenLacksWhatCldcElevenAdds) {
    // One compilation unit per row; ecj still writes the units that compile when others fail.
    struct Row {
        const char* code;
        bool inCldc10, inCldc11;
    } rows[] = {
        {"float f = Math.abs(1.5f);", false, true},
        {"double d = Math.sin(0.5) + Math.PI;", false, true},
        {"Float x = new Float(1f);", false, true},
        {"Object r = new java.lang.ref.WeakReference(this);", false, true},
        {"boolean b = \"a\".equalsIgnoreCase(\"A\");", false, true},
        {"int r = new java.util.Random().nextInt(6);", false, true},
        {"Boolean t = Boolean.TRUE;", false, true},
        {"String s = new Thread(\"n\").getName();", false, true},
        {"new java.io.DataOutputStream(null).writeFloat(1f);", false, true},
        {"int k = Integer.parseInt(\"7\") + \"ab\".indexOf('b') + Math.max(1, 2);", true, true},
        {"java.util.Hashtable h = new java.util.Hashtable(); Object o = h.get(\"k\");", true, true},
        {"new java.util.Timer().schedule(new java.util.TimerTask() { public void run() {} }, 10L);", true,
         true},
        {"String s = \"a\" + 1 + 'c' + 2L + true + new StringBuffer(\"b\").reverse();", true, true},
        {"javax.microedition.io.Connection c = javax.microedition.io.Connector.open(\"socket://x:1\");", true,
         true},
        // Calendar's fields and the two methods that fill them are CLDC 1.1's; in 1.0 the class has no
        // abstract method, so a subclass there need not implement them.
        {"Object c = new java.util.Calendar() {"
         " protected void computeFields() { fields[0] = isSet[0] ? 1 : 0; }"
         " protected void computeTime() { time = 0; } };",
         false, true},
        {"Object c = new java.util.Calendar() {};", true, false},
        {"int[] a = new int[2]; int[] b = (int[]) a.clone();", false, false},  // CLDC's Object has no clone()
        {"Object v = new java.util.ArrayList();", false, false},
    };
    for (const char* cldc : {"cldcapi10.jar", "cldcapi11.jar"}) {
        TempDir dir;
        std::vector<std::string> sources;
        for (size_t i = 0; i < std::size(rows); ++i) {
            std::string name = "Row" + std::to_string(i);
            sources.push_back(dir / ("src/" + name + ".java"));
            writeFile(sources.back(), "package Game;\npublic class " + name +
                                          " {\n  void f() throws Exception { " + rows[i].code + " }\n}\n");
        }
        ToolRun javac = compileForPhone(dir / "out", sources, cldc);
        for (size_t i = 0; i < std::size(rows); ++i) {
            bool expected = std::string(cldc) == "cldcapi10.jar" ? rows[i].inCldc10 : rows[i].inCldc11;
            bool compiled = fs::exists(dir / ("out/Game/Row" + std::to_string(i) + ".class"));
            EXPECT_EQ(compiled, expected) << cldc << ": " << rows[i].code << "\n" << javac.errors;
        }
    }
}

TEST(ApiStubs, JarsHoldTheirOwnPackagesOnly) {
    struct Row {
        const char* jar;
        std::vector<std::string> present, absent;
    } rows[] = {
        {"cldcapi10.jar",
         {"java/lang/Object.class", "java/io/DataInputStream.class", "java/util/Vector.class"},
         {"java/lang/Float.class", "java/lang/Double.class", "java/lang/ref/WeakReference.class",
          "java/util/Timer.class", "java/lang/IllegalStateException.class",
          "javax/microedition/rms/RecordStore.class", "javax/microedition/io/HttpConnection.class",
          "javax/microedition/io/CommConnection.class"}},
        {"cldcapi11.jar",
         {"java/lang/Float.class", "java/lang/Double.class", "java/lang/NoClassDefFoundError.class"},
         {}},
        {"midpapi20.jar",
         {"javax/microedition/midlet/MIDlet.class", "javax/microedition/lcdui/Canvas.class",
          "java/util/Timer.class", "java/util/TimerTask.class", "java/lang/IllegalStateException.class",
          "javax/microedition/rms/RecordStore.class", "javax/microedition/io/HttpConnection.class",
          "javax/microedition/io/SocketConnection.class",
          "javax/microedition/io/ServerSocketConnection.class", "javax/microedition/io/CommConnection.class",
          "javax/microedition/media/Manager.class", "javax/microedition/media/control/ToneControl.class"},
         {"java/lang/Object.class", "javax/microedition/media/TimeBase.class",
          "javax/microedition/media/protocol/DataSource.class",
          "javax/microedition/media/control/VideoControl.class"}},
        {"mmapi.jar",
         {"javax/microedition/media/Manager.class", "javax/microedition/media/MediaException.class",
          "javax/microedition/media/control/VolumeControl.class", "javax/microedition/media/TimeBase.class",
          "javax/microedition/media/protocol/DataSource.class"},
         {"javax/microedition/lcdui/Item.class"}},
    };
    for (const auto& row : rows) {
        auto entries = readJar(lib(row.jar));
        ASSERT_TRUE(entries.has_value()) << row.jar;
        for (const auto& name : row.present)
            EXPECT_TRUE(entries->count(name)) << row.jar << " lacks " << name;
        for (const auto& name : row.absent)
            EXPECT_FALSE(entries->count(name)) << row.jar << " holds " << name;
    }
}

}  // namespace
}  // namespace standins::test

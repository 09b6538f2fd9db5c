#!/bin/sh
'/work/main/build/kit/wtk/bin/emulator' '-classpath' 'examples/Hello/Hello.jar' '-Xdescriptor:examples/Hello/Hello.jad'
printf 'Press Enter to continue . . . '; read -r key

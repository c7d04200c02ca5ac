# SPDX-License-Identifier: MIT
# Writes DelvoCalculator's own 16 x 16 XPM icons from the pixel grids below: python3 make_icons.py resources
import sys, os
out = sys.argv[1]

icons = {}

icons['delvo_icon'] = ({'#': '#2D3A4A', 'b': '#5B7C99', 'k': '#1E2A36', 'g': '#C8E6B0', 'd': '#2F4F2F',
                        'w': '#F2F5F8', 'o': '#F08C1E', 'h': '#8FAECB'}, [
"..############..",
".#hhhhhhhhhhhh#.",
".#bkkkkkkkkkkb#.",
".#bkggggggggkb#.",
".#bkggdgddgdkb#.",
".#bkkkkkkkkkkb#.",
".#bbbbbbbbbbbb#.",
".#bwwbwwbwwboo#.",
".#bwwbwwbwwboo#.",
".#bbbbbbbbbbbb#.",
".#bwwbwwbwwboo#.",
".#bwwbwwbwwboo#.",
".#bbbbbbbbbbbb#.",
".#bwwwwwbwwboo#.",
".#bbbbbbbbbbbb#.",
"..############..",
])

icons['numpad'] = ({'k': '#4A5A70', 'w': '#F4F7FB', 'B': '#4A90D9', 'K': '#245A96'}, [
"................",
".kkkk.kkkk.kkkk.",
".kwwk.kwwk.kwwk.",
".kwwk.kwwk.kwwk.",
".kkkk.kkkk.kkkk.",
"................",
".kkkk.kkkk.kkkk.",
".kwwk.kwwk.kwwk.",
".kwwk.kwwk.kwwk.",
".kkkk.kkkk.kkkk.",
"................",
".kkkk.kkkk.KKKK.",
".kwwk.kwwk.KBBK.",
".kwwk.kwwk.KBBK.",
".kkkk.kkkk.KKKK.",
"................",
])

icons['variables'] = ({'x': '#1F5FBF', 'k': '#505050'}, [
"................",
"................",
"................",
"................",
"xx....xx........",
".xx..xx.........",
"..xxxx...kkkkkk.",
"...xx....kkkkkk.",
"...xx...........",
"..xxxx...kkkkkk.",
".xx..xx..kkkkkk.",
"xx....xx........",
"................",
"................",
"................",
"................",
])

icons['functions'] = ({'f': '#1F5FBF', 'k': '#404040'}, [
"................",
"......fff.......",
".....ff..f......",
".....f..........",
"...fffff........",
"....ff..........",
"....ff..........",
"....f...........",
"....f..kk....kk.",
"...ff...kk..kk..",
"...f.....kkkk...",
"...f......kk....",
"..ff.....kkkk...",
"..f.....kk..kk..",
"ff.....kk....kk.",
"................",
])

icons['colors'] = ({'k': '#404040', 'r': '#E53935', 'g': '#43A047', 'b': '#1E88E5', 'y': '#FDD835'}, [
"................",
".kkkkkk..kkkkkk.",
".krrrrk..kggggk.",
".krrrrk..kggggk.",
".krrrrk..kggggk.",
".krrrrk..kggggk.",
".kkkkkk..kkkkkk.",
"................",
"................",
".kkkkkk..kkkkkk.",
".kbbbbk..kyyyyk.",
".kbbbbk..kyyyyk.",
".kbbbbk..kyyyyk.",
".kbbbbk..kyyyyk.",
".kkkkkk..kkkkkk.",
"................",
])

icons['topmost'] = ({'k': '#6A6A6A', 'g': '#BDBDBD', 'l': '#E6E6E6', 'w': '#FFFFFF', 'K': '#1F4F8F', 'B': '#3D7BD0'}, [
"kkkkkkkkkk......",
"kggggggggk......",
"kllllllllk......",
"kllllllllk......",
"kllllllllk......",
"kllllKKKKKKKKKKK",
"kllllKBBBBBBBBBK",
"kllllKBBBBBBBBBK",
"kllllKwwwwwwwwwK",
"kkkkkKwwwwwwwwwK",
".....KwwwwwwwwwK",
".....KwwwwwwwwwK",
".....KwwwwwwwwwK",
".....KwwwwwwwwwK",
".....KwwwwwwwwwK",
".....KKKKKKKKKKK",
])

icons['execute'] = ({'k': '#1B5E20', 'g': '#43A047', 'h': '#81C784'}, [
"................",
"...kk...........",
"...khk..........",
"...khgk.........",
"...khggk........",
"...khgggk.......",
"...khggggk......",
"...khgggggk.....",
"...khgggggk.....",
"...khggggk......",
"...khgggk.......",
"...khggk........",
"...khgk.........",
"...kgk..........",
"...kk...........",
"................",
])

icons['exp'] = ({'e': '#1F5FBF', 'x': '#C62828'}, [
"................",
"..........xx..xx",
"...........xxxx.",
"............xx..",
"...........xxxx.",
"..........xx..xx",
"...eeee.........",
"..ee..ee........",
".ee....ee.......",
".eeeeeeee.......",
".ee.............",
".ee.............",
"..ee....e.......",
"...eeeee........",
"................",
"................",
])

# y = cos(x) over one period: axis grey, curve blue, two pixels thick.
icons['cos'] = ({'a': '#9E9E9E', 'c': '#1F5FBF'}, [
"cc............cc",
"ccc..........ccc",
"..c..........c..",
"..cc........cc..",
"...c........c...",
"...cc......cc...",
"....c......c....",
"aaaacaaaaaacaaaa",
"....cc....cc....",
".....c....c.....",
".....cc..cc.....",
"......cccc......",
".......cc.......",
"................",
"................",
"................",
])

icons['pi'] = ({'p': '#1F5FBF'}, [
"................",
"................",
"................",
"..pppppppppppp..",
".ppppppppppppp..",
".p..pp....pp....",
"....pp....pp....",
"....pp....pp....",
"....pp....pp....",
"....pp....pp....",
"...pp.....pp....",
"...pp.....pp..p.",
"..pp......ppppp.",
"..pp.......ppp..",
"................",
"................",
])

# The solver dialog: a grey axis, a blue curve crossing it and a red dot on the zero.
icons['solver'] = ({'a': '#9E9E9E', 'c': '#1F5FBF', 'r': '#D32F2F'}, [
"................",
"..............cc",
".............cc.",
"............cc..",
"...........cc...",
"..........cc....",
".........cc.....",
"........rr......",
"aaaaaaarrrraaaaa",
"......crrr......",
".....cc.........",
"....cc..........",
"...cc...........",
"..cc............",
".cc.............",
"cc..............",
])

# The variable edit dialog: a white field with a blue "x" and an orange pencil.
icons['varset'] = ({'k': '#505050', 'w': '#FFFFFF', 'x': '#1F5FBF', 'o': '#F08C1E', 'd': '#8D5524', 'g': '#303030'}, [
"................",
"kkkkkkkkkkkk....",
"kwwwwwwwwwwk....",
"kwxxwwxxwwwk....",
"kwwxxxxwwwwk....",
"kwwwxxwwwwwk..oo",
"kwwxxxxwwwwk.ooo",
"kwxxwwxxwwwkooo.",
"kwwwwwwwwwwooo..",
"kkkkkkkkkkooo...",
".........ooo....",
"........ooo.....",
".......dod......",
".......dd.......",
"......gd........",
"................",
])

# Unit converter: a yellow ruler with ticks above two arrows pointing opposite ways.
icons['converter'] = ({'r': '#E0B040', 'k': '#6B4E12', 'a': '#1F5FBF'}, [
"................",
"kkkkkkkkkkkkkkkk",
"krrkrrkrrkrrkrrk",
"krrkrrkrrkrrkrrk",
"krrkrrrrrkrrrrrk",
"krrrrrrrrrrrrrrk",
"kkkkkkkkkkkkkkkk",
"................",
"..........a.....",
"..........aa....",
".aaaaaaaaaaaa...",
"..........aa....",
"....a.....a.....",
"...aa...........",
"..aaaaaaaaaaaaa.",
"...aa...........",
])

# Base converter: a dark "01" above an orange "F", joined by a blue arrow.
icons['base_converter'] = ({'k': '#303846', 'o': '#E07A1E', 'a': '#1F5FBF'}, [
"................",
".kkk...k........",
".k.k..kk........",
".k.k...k........",
".k.k...k........",
".kkk..kkk.......",
"................",
"....a...........",
"....aa......oooo",
"aaaaaaa.....o...",
"....aa......o...",
"....a.......ooo.",
"............o...",
"............o...",
"............o...",
"................",
])

# Save As: a blue disk with a white label and a grey shutter, an orange pencil writing on its corner.
icons['save_as'] = ({'k': '#1E3F66', 'b': '#3C78C8', 'w': '#F4F7FB', 'l': '#9DB8D9', 's': '#B0B8C0', 'g': '#5A646E',
                     'o': '#F08C1E', 'd': '#8D5524', 'p': '#303030'}, [
"kkkkkkkkkkkkk...",
"kbwwwwwwwwwbbk..",
"kbwllllllwwbbbk.",
"kbwwwwwwwwwbbbk.",
"kbwllllllwwbbbk.",
"kbwwwwwwwwwbbbk.",
"kbbbbbbbbbbbbbk.",
"kbbbbbbbbbbbbk.o",
"kbbsssssssbbkooo",
"kbbsggssssbkooo.",
"kbbsggsssskooo..",
"kbbsggsssooo....",
"kbbssssssooo....",
"kkkkkkkkdod.....",
"........dd......",
".......pd.......",
])

# Open: a yellow folder with its front flap open.
icons['open'] = ({'k': '#8A5A12', 'y': '#D9A53A', 'Y': '#F6CF62', 'h': '#FCE7A4'}, [
"................",
"................",
".kkkkk..........",
"kyyyyyk.........",
"kyyyyyykkkkkkk..",
"kyyyyyyyyyyyyyk.",
"kyyyyyyyyyyyyyk.",
"kyykkkkkkkkkkkkk",
"kyykhhhhhhhhhhhk",
"kykhYYYYYYYYYYk.",
"kykYYYYYYYYYYYk.",
"kkhYYYYYYYYYYk..",
"kkYYYYYYYYYYYk..",
"kkkkkkkkkkkkk...",
"................",
"................",
])

# Copy: two sheets of text, the second over the first.
icons['copy'] = ({'k': '#505A64', 'w': '#FFFFFF', 'g': '#9AA4AE', 'b': '#4A7EC2'}, [
"kkkkkkkk........",
"kwwwwwwk........",
"kwggggwk........",
"kwwwwwwk........",
"kwggkkkkkkkkk...",
"kwwwkwwwwwwwk...",
"kwggkwbbbbbwk...",
"kwwwkwwwwwwwk...",
"kwggkwbbbbwwk...",
"kwwwkwwwwwwwk...",
"kkkkkwbbbbbwk...",
"....kwwwwwwwk...",
"....kwbbbwwwk...",
"....kwwwwwwwk...",
"....kkkkkkkkk...",
"................",
])

# Cut: open scissors, grey blades crossing above two red handles.
icons['cut'] = ({'k': '#505A64', 'l': '#B8C2CC', 'r': '#D03A2F'}, [
"................",
"..k..........k..",
"..lk........kl..",
"...lk......kl...",
"....lk....kl....",
".....lk..kl.....",
"......lkkl......",
".......kk.......",
"......kllk......",
".....rr..rr.....",
"..rrrr....rrrr..",
".rr..rr..rr..rr.",
".r....r..r....r.",
".rr..rr..rr..rr.",
"..rrrr....rrrr..",
"................",
])

# Paste: a brown clipboard with a grey clip, a sheet of text on it.
icons['paste'] = ({'k': '#5C3B1A', 'c': '#B07A3F', 'm': '#505A64', 's': '#B8C2CC', 'w': '#FFFFFF', 'b': '#4A7EC2'}, [
"......mmmm......",
".kkkkmssssmkkkk.",
".kccmsmmmmsmcck.",
".kcccmmmmmmccck.",
".kcccccccccccck.",
".kccwwwwwwwwcck.",
".kccwbbbbbbwcck.",
".kccwwwwwwwwcck.",
".kccwbbbbbwwcck.",
".kccwwwwwwwwcck.",
".kccwbbbbbbwcck.",
".kccwwwwwwwwcck.",
".kccwbbbwwwwcck.",
".kccwwwwwwwwcck.",
".kcccccccccccck.",
".kkkkkkkkkkkkkk.",
])

# Close: a red cross with darker edges.
icons['close'] = ({'k': '#8E1E16', 'r': '#E04535'}, [
"................",
"................",
"..kk.......kk...",
".krrk.....krrk..",
".krrrk...krrrk..",
"..krrrk.krrrk...",
"...krrrkrrrk....",
"....krrrrrk.....",
".....krrrk......",
"....krrrrrk.....",
"...krrrkrrrk....",
"..krrrk.krrrk...",
".krrrk...krrrk..",
".krrk.....krrk..",
"..kk.......kk...",
"................",
])

for name, (pal, rows) in icons.items():
    assert len(rows) == 16, name
    for r in rows:
        assert len(r) == 16, (name, r)
        for ch in r:
            assert ch == '.' or ch in pal, (name, ch)
    used = sorted(set(''.join(rows)))
    lines = ['/* XPM */', '/* SPDX-License-Identifier: MIT */', '/* 16 x 16 pixel art drawn for DelvoCalculator; see resources/README.md. */',
             'static const char* const %s_xpm[] = {' % name.replace('-', '_'),
             '"16 16 %d 1",' % len(used)]
    for ch in used:
        lines.append('"%s c %s",' % (ch, 'None' if ch == '.' else pal[ch]))
    for i, r in enumerate(rows):
        lines.append('"%s"%s' % (r, ',' if i < 15 else '};'))
    open(os.path.join(out, name + '.xpm'), 'w').write('\n'.join(lines) + '\n')

//Maya ASCII 2014 scene
//Name: CamCurve.ma
//Codeset: UTF-8
//Camera path of the sample demo: over the sea onto the island, past the mountain and the
//zeppelin, round the east hills, low over the south, then up above the zeppelin. Y is up.
requires maya "2014";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "CamCurve";
createNode bezierCurve -n "CamCurveShape" -p "CamCurve";
	setAttr -k off ".v";
	setAttr ".cc" -type "nurbsCurve" 
		3 13 0 no 3
		42 0 0 0 1 1 1 2 2 2 3 3 3 4 4 4 5 5 5 6 6 6 7 7 7 8 8 8 9 9 9 10 10 10 11 11 11 12 12 12 13 13 13
		40
		0 12 34
		-0.67 11.83 31.67
		-2.33 10.67 24.33
		-4 11 20
		-5.67 11.33 15.67
		-9.17 13.33 11.83
		-10 14 8
		-10.83 14.67 4.17
		-10.67 14.33 1
		-9 15 -3
		-7.33 15.67 -7
		-3.5 17.5 -14
		0 18 -16
		3.5 18.5 -18
		8.67 18.33 -16.67
		12 18 -15
		15.33 17.67 -13.33
		19 17 -9.83
		20 16 -6
		21 15 -2.17
		20.33 13 4.33
		18 12 8
		15.67 11 11.67
		11 10 15
		6 10 16
		1 10 17
		-7.67 11 17.33
		-12 12 14
		-16.33 13 10.67
		-20.67 14.33 1.67
		-20 16 -4
		-19.33 17.67 -9.67
		-13 20.33 -20
		-8 22 -20
		-3 23.67 -20
		8.33 25 -9.33
		10 26 -4
		11.67 27 1.33
		3.33 27.67 9.33
		2 28 12
		;
select -ne :time1;
	setAttr ".o" 0;
// End of CamCurve.ma

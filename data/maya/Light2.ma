//Maya ASCII 2014 scene
//Name: Light2.ma
//Codeset: UTF-8
//Warm evening light from the east: a point light of the sample demo's 3D scene.
requires maya "2014";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "pointLight2";
	setAttr ".t" -type "double3" 28 14 26 ;
createNode pointLight -n "pointLightShape2" -p "pointLight2";
	setAttr -k off ".v";
	setAttr ".cl" -type "float3" 1 0.6 0.35 ;
	setAttr ".in" 0.3;
	setAttr ".us" no;
select -ne :time1;
	setAttr ".o" 0;
// End of Light2.ma
